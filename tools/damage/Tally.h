#pragma once
// The counts of a run over damaged copies, the smallest copy of each distinct outcome, and the report.

#include "CaseRun.h"
#include "Damage.h"

#include <QList>
#include <QMap>
#include <QString>

struct CaseRecord {
    quint64 index = 0; // copy number within the run
    int source = 0;    // index into the run's sources
    DamageKind kind = DamageKind::BitFlips;
    QString description;
    qsizetype size = 0;
    CaseResult result;
};

// The copy chosen to stand for one distinct outcome: the smallest made from a database of our own writer
// (such copies may go into the repository), else the smallest of all.
struct KeptCase {
    QString outcome;
    quint64 index = 0;
    int source = 0;
    qsizetype size = 0;
    QString description;
    bool keepable = false;
};

struct KindCounts {
    qint64 copies = 0;
    qint64 scripts = 0;
    qint64 readFailures = 0;
    qint64 contained = 0; // the reader process crashed or ran out of time on it
};

class Tally {
public:
    // keepable: whether the copy's source is one of our own, so the copy may be kept in the repository.
    void add(const CaseRecord& record, bool keepable);

    qint64 copies() const { return copies_; }
    // The outcomes that must never occur all stayed at zero.
    bool passed() const;
    QList<KeptCase> kept() const { return kept_.values(); }
    QString report() const;

private:
    qint64 copies_ = 0;
    qint64 scripts_ = 0;      // both dialects gave a script
    qint64 readFailures_ = 0; // both dialects reported a read failure
    qint64 mixed_ = 0;        // one dialect a script, the other a read failure
    qint64 cliCrashes_ = 0;   // runs
    qint64 hangs_ = 0;        // runs
    qint64 unreported_ = 0;   // runs
    qint64 filesWritten_ = 0; // copies
    qint64 changed_ = 0;      // copies
    qint64 slowestMs_ = 0;
    QMap<QString, qint64> failureNumbers_; // "3049" -> runs
    QMap<QString, qint64> readerFates_;    // probed copies
    QMap<DamageKind, KindCounts> kinds_;
    QMap<QString, KeptCase> kept_;
};
