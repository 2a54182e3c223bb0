#pragma once
// "Migrate to Server...": the database straight into PostgreSQL, MySQL/MariaDB or a new SQLite file. The
// dialog takes the kind of target and its connection fields (or the file), tests the connection, and runs
// the migration on a worker thread (with a reader process of its own) while it shows the table and its rows;
// Cancel stops it at the next batch, and the target is left as it was. The report ends in a table of counts
// that can be copied. It migrates faithfully by its own choices, the primary keys (with the child tables of
// attachment and multi-valued columns, and the foreign keys), the indexes and the views, all on unless
// unchecked: the main window's check boxes are the classic scripts' and decide nothing here. The last target,
// never its password, and those choices are kept in the settings file's "Migrate" section.

#include "ConversionOptions.h"

#include <QDialog>
#include <QList>
#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class SchemaReader;
struct MigrationReport;
struct TargetAddress;

class MigrateDialog : public QDialog {
    Q_OBJECT
public:
    // A given reader (tests) is used from the worker thread instead of a reader process.
    // databasePassword opens an encrypted database (empty for any other); it is wiped with the dialog.
    MigrateDialog(QWidget* parent, const QString& databasePath, SchemaReader* givenReader,
                  std::string databasePassword = {});
    ~MigrateDialog() override;

    // The target as the fields give it.
    TargetAddress address() const;
    // The migration's options: the dialog's own choices on the defaults, never the main window's boxes.
    ConversionOptions options() const;
    bool running() const;

public slots:
    void testConnection();
    void migrate();
    void cancel();
    void copyReport();
    // Closing while it runs stops it first: the target is left as it was.
    void reject() override;

private:
    void showKind();
    void loadTarget();
    void saveTarget() const;
    void showReport(const MigrationReport& report);
    void poll();

    struct Work;
    QString databasePath_;
    SchemaReader* givenReader_;
    std::unique_ptr<Work> work_;

    QComboBox* kind_;
    QLineEdit* host_;
    QSpinBox* port_;
    QLineEdit* database_;
    QLineEdit* user_;
    QLineEdit* password_;
    std::string databasePassword_;
    QLineEdit* socket_;
    QLineEdit* file_;
    QPushButton* browse_;
    QCheckBox* verify_;
    QCheckBox* primaryKeys_;
    QCheckBox* indexes_;
    QCheckBox* views_;
    QCheckBox* ignoreCase_;
    QList<QWidget*> serverFields_;
    QList<QWidget*> fileFields_;
    QPushButton* test_;
    QPushButton* migrate_;
    QPushButton* cancel_;
    QPushButton* copy_;
    QPushButton* close_;
    QProgressBar* progress_;
    QLabel* status_;
    QTableWidget* report_;
};
