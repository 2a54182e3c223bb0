// mkmdb SCHEMA.json OUT.mdb: writes an Access 2000 database with the tables the JSON file describes.

#include "MdbSchemaCheck.h"
#include "MdbSchemaJson.h"
#include "MdbWriter.h"

#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkmdb SCHEMA.json OUT.mdb\n");
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
    std::string writeError;
    if (!writeMdb(*schema, argv[2], &writeError)) {
        std::fprintf(stderr, "mkmdb: %s\n", writeError.c_str());
        return 73;
    }
    return 0;
}
