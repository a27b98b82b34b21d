// SPDX-License-Identifier: GPL-3.0-or-later
// Numero Pro: the harder sibling, with signs between the digits, larger targets and less time.
import "numero"

NumeroGame {
    modeId: "numeropro"
}
