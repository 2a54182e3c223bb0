#pragma once
// Where the parts of a Jet or ACE file lie that damage is aimed at: the page size, the catalog's data pages,
// table definition pages and property blobs. Reads only the raw bytes; a file too damaged to tell is
// described as far as it can be.

#include <QByteArray>
#include <QList>

struct JetLayout {
    int pageSize = 4096;
    int pageCount = 0;
    QList<int> catalogPages;        // data pages of MSysObjects (the table defined on page 2)
    QList<int> tableDefPages;       // type 0x02 pages, MSysObjects' own included
    QList<qsizetype> propertyBlobs; // file offsets of "MR2\0" (Jet 4, ACE) and "KKD\0" (Jet 3) blobs
};

JetLayout readJetLayout(const QByteArray& file);
