// mkmdb SCHEMA.json OUT.mdb: writes an Access 2000 database with the tables (and rows) the JSON file
// describes.
// mkmdb --benchmark ROWS OUT.mdb: writes one table of ROWS rows of mixed types, for timing the writer;
// --benchmark-required the same with its text column Required, whose rows are then checked before a script.
// mkmdb --corpus NAME OUT.mdb: writes the test corpus database of that name ("queries", "every-type", ...).

#include "MdbSchemaCheck.h"
#include "MdbSchemaJson.h"
#include "MdbTestCorpus.h"
#include "MdbWriter.h"

#include <QFile>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

int write(const MdbSchema& schema, const char* path) {
    std::string writeError;
    if (!writeMdb(schema, path, &writeError)) {
        std::fprintf(stderr, "mkmdb: %s\n", writeError.c_str());
        return 73;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool required = argc == 4 && std::strcmp(argv[1], "--benchmark-required") == 0;
    if (argc == 4 && (required || std::strcmp(argv[1], "--benchmark") == 0)) {
        const int rows = std::atoi(argv[2]);
        if (rows < 1) {
            std::fprintf(stderr, "mkmdb: %s takes a number of rows\n", argv[1]);
            return 64;
        }
        return write(mdbRowsBenchmarkDatabase(rows, required), argv[3]);
    }
    if (argc == 4 && std::strcmp(argv[1], "--corpus") == 0) {
        for (const MdbTestDatabase& database : mdbTestCorpus())
            if (database.name == argv[2])
                return write(database.schema, argv[3]);
        std::fprintf(stderr, "mkmdb: no corpus database named %s\n", argv[2]);
        return 64;
    }
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: mkmdb SCHEMA.json OUT.mdb\n       mkmdb --benchmark[-required] ROWS OUT.mdb\n"
                     "       mkmdb --corpus NAME OUT.mdb\n");
        return 64;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "mkmdb: cannot read %s\n", argv[1]);
        return 66;
    }
    QString error;
    const auto schema = parseMdbSchemaJson(in.readAll(), &error);
    if (!schema) {
        std::fprintf(stderr, "mkmdb: %s: %s\n", argv[1], qPrintable(error));
        return 65;
    }
    if (const auto problem = schemaProblem(*schema)) {
        std::fprintf(stderr, "mkmdb: %s: %s\n", argv[1], problem->c_str());
        return 65;
    }
    return write(*schema, argv[2]);
}
