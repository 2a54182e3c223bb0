// Prints what the independent reader (the npm package mdb-reader) sees in a database, as JSON:
//   {"tables": [{"name", "system", "columns": [{"name", "type", "size", "fixedLength",
//                                               "nullable", "autoLong", "autoUUID", "precision", "scale"}]}],
//    "relationships": [the rows of MSysRelationships, each an object by column name]}
// A table whose columns mdb-reader refuses has "error" (its message) instead of "columns".
// Used by the writer's cross-check test; mdb-reader does not read indexes or column properties.
import { readFileSync } from "node:fs";
import MDBReader from "mdb-reader";

if (process.argv.length !== 3) {
    process.stderr.write("usage: node read-schema.mjs DATABASE\n");
    process.exit(64);
}

try {
    const reader = new MDBReader(readFileSync(process.argv[2]));
    const userTables = new Set(reader.getTableNames({ normalTables: true, systemTables: false }));
    const allTables = reader.getTableNames({ normalTables: true, systemTables: true });
    const tables = allTables.map((name) => ({
        name,
        system: !userTables.has(name),
        ...columnsOf(reader, name),
    }));
    const relationships = allTables.includes("MSysRelationships")
        ? reader.getTable("MSysRelationships").getData()
        : [];
    process.stdout.write(JSON.stringify({ tables, relationships }, null, 1) + "\n");
} catch (e) {
    process.stderr.write(`read-schema: ${e.message}\n`);
    process.exit(65);
}

// A table's columns, or {"error": why} when mdb-reader refuses them (it knows no type byte but its own),
// so one such table leaves the others readable.
function columnsOf(reader, name) {
    try {
        const columns = reader
            .getTable(name)
            .getColumns()
            .map((c) => ({
                name: c.name,
                type: c.type,
                size: c.size,
                fixedLength: c.fixedLength,
                nullable: c.nullable,
                autoLong: c.autoLong,
                autoUUID: c.autoUUID,
                ...(c.type === "numeric" ? { precision: c.precision, scale: c.scale } : {}),
            }));
        return { columns };
    } catch (e) {
        return { error: e.message };
    }
}
