// SPDX-License-Identifier: GPL-3.0-or-later
// Kept values when no station keeps them (the QML tests): one map for the whole engine,
// so a store made afresh reads what an earlier one wrote, as it would from the station.
const values = {};

export function read(key) {
    return Object.prototype.hasOwnProperty.call(values, key) ? values[key] : "";
}

export function write(key, value) {
    values[key] = String(value);
    return true;
}

export function forget(key) {
    delete values[key];
}
