// SPDX-License-Identifier: GPL-3.0-or-later
// Numero: trace paths of touching digits that add up to the target before the clock runs out.
import "numero"

NumeroGame {
    modeId: "numero"
}
