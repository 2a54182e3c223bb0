// Prints every row of a database's user tables as the independent reader (the npm package mdb-reader)
// reads them, as JSON, each value in a form that keeps it exactly:
//   {"tables": [{"name", "rowCount", "columns": [names], "rows": [[values in column order]]}]}
// Yes/No: true or false; Byte, Integer, Long: numbers; Single and Double: their IEEE bytes as hex
// (little-endian), so that -0, NaN and the infinities survive; Date/Time: milliseconds since 1970 as
// mdb-reader computes them; Currency and Decimal: mdb-reader's strings; Text and Memo: strings; Binary and
// OLE Object: hex; GUID: mdb-reader's string; NULL: null. A table whose columns mdb-reader refuses has
// "error" instead. Used by the writer's cross-check test.
import { readFileSync } from "node:fs";
import MDBReader from "mdb-reader";

if (process.argv.length !== 3) {
    process.stderr.write("usage: node read-written-rows.mjs DATABASE\n");
    process.exit(64);
}

function exact(type, value) {
    if (value === null) return null;
    switch (type) {
        case "float": {
            const b = Buffer.alloc(4);
            b.writeFloatLE(value);
            return b.toString("hex");
        }
        case "double": {
            const b = Buffer.alloc(8);
            b.writeDoubleLE(value);
            return b.toString("hex");
        }
        case "datetime":
            return String(value.getTime());
        case "binary":
        case "ole":
            return value.toString("hex");
        default:
            return value;
    }
}

function rowsOf(reader, name) {
    try {
        const table = reader.getTable(name);
        const columns = table.getColumns();
        const rows = table.getData().map((row) => columns.map((c) => exact(c.type, row[c.name])));
        return { rowCount: table.rowCount, columns: columns.map((c) => c.name), rows };
    } catch (e) {
        return { error: e.message };
    }
}

try {
    const reader = new MDBReader(readFileSync(process.argv[2]));
    const tables = reader
        .getTableNames({ normalTables: true, systemTables: false })
        .map((name) => ({ name, ...rowsOf(reader, name) }));
    process.stdout.write(JSON.stringify({ tables }) + "\n");
} catch (e) {
    process.stderr.write(`read-written-rows: ${e.message}\n`);
    process.exit(65);
}
