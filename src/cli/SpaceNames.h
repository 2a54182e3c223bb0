#pragma once
// The namespaces of a batch's databases (a PostgreSQL schema, a MySQL database, an SQLite file) named after
// their files: "Sales 2020.accdb" goes into sales_2020. A name is lower-case ASCII letters, digits and _,
// starts with a letter and is short enough for every server; two files of the same name (in two folders)
// get sales, sales_2.

#include <QStringList>

QStringList spaceNames(const QStringList& files);
