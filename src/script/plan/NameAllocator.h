#pragma once
// Names the server keeps unique: cut to its length limit, compared without regard to case (SQLite and MySQL
// fold case; elsewhere it costs at most a suffix), and given "_2", "_3"... when taken.

#include "DatabaseSchema.h"

#include <QHash>
#include <QSet>
#include <QString>

class NameAllocator {
public:
    NameAllocator(int limit, bool inBytes, qsizetype expected = 0) : limit_(limit), inBytes_(inBytes) {
        taken_.reserve(expected);
    }
    void reserve(const QString& name) { taken_.insert(folded(cut(name, 0))); }
    QString allocate(const QString& base);

    // Whether a fresh allocator would give each of these names back as it is: every name fits, and no two
    // are the same without regard to case. Answered without the allocator's keys for up to a few dozen
    // ASCII names (nearly every table's columns); false where it cannot tell cheaply.
    static bool keepsAsTheyAre(int limit, bool inBytes, const QList<ColumnDefinition>& columns);

private:
    // Takes the key unless it is taken already; one lookup either way.
    bool insert(QString&& key) {
        const qsizetype before = taken_.size();
        taken_.insert(std::move(key));
        return taken_.size() != before;
    }
    static QString folded(const QString& name);
    QString cut(QString name, int room) const;

    int limit_;
    bool inBytes_;
    QSet<QString> taken_;
    QHash<QString, int> nextSuffix_; // per base: the first suffix not yet known to be taken
};
