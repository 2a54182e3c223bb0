// Prints the rows the independent reader (the npm package mdb-reader) sees in every table of a database,
// as JSON: {"tables": [{"name", "columns": [{"name", "type"}], "rows": [[value, ...]]} or {"name", "error"}]}.
// Values keep what JSON would lose: reals as the hex of their little-endian double bytes, big integers
// and decimals as their digits, binary data as hex; texts, booleans and small integers stay as they are,
// dates as mdb-reader's milliseconds since 1970.
// Used by the reader's rows cross-check. VELTRANE_PASSWORD, when set, opens an encrypted database.
import { readFileSync } from "node:fs";
import MDBReader from "mdb-reader";

if (process.argv.length !== 3) {
    process.stderr.write("usage: node read-rows.mjs DATABASE\n");
    process.exit(64);
}

function doubleHex(number) {
    const bytes = Buffer.alloc(8);
    bytes.writeDoubleLE(number);
    return bytes.toString("hex");
}

function valueOf(type, value) {
    if (value === null || value === undefined) return null;
    switch (type) {
        case "float":
        case "double":
            return doubleHex(value);
        case "datetime":
            return value.getTime();
        case "bigint":
            return value.toString();
        case "binary":
        case "ole":
            return Buffer.from(value).toString("hex");
        case "boolean":
        case "byte":
        case "integer":
        case "long":
        case "currency":
        case "numeric":
        case "text":
        case "memo":
        case "repid":
        case "datetimextended":
            return value;
        default:
            return null; // complex columns: their values live in other tables
    }
}

try {
    // An encrypted database's password comes in the environment, as veltrane-cli takes it.
    const reader = new MDBReader(readFileSync(process.argv[2]), { password: process.env.VELTRANE_PASSWORD });
    const tables = reader.getTableNames({ normalTables: true, systemTables: true }).map((name) => {
        try {
            const table = reader.getTable(name);
            const columns = table.getColumns().map((c) => ({ name: c.name, type: c.type }));
            const rows = table
                .getData()
                .map((row) => columns.map((c) => valueOf(c.type, row[c.name])));
            return { name, columns, rows };
        } catch (e) {
            return { name, error: e.message };
        }
    });
    process.stdout.write(JSON.stringify({ tables }) + "\n");
} catch (e) {
    process.stderr.write(`read-rows: ${e.message}\n`);
    process.exit(65);
}
