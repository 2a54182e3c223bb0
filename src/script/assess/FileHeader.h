#pragma once
// What the header page of an Access file says without the file being opened: the engine version that wrote
// it and whether its pages are encrypted (Access 2007 and later with a database password). Plain reading
// of the first page; no decryption.

#include <QString>

struct FileHeader {
    bool access = false; // a Jet or ACE signature
    QString version;     // the file format: "Jet 4 (Access 2000-2003)", "ACE 14 (Access 2010 format)", ...
    bool encrypted = false;
};

FileHeader readFileHeader(const QString& path);
