#pragma once
// File > "Assessment Report...": the assessment of the database in the path box, or of the databases of a
// folder chosen when the box names none, written as one HTML page to the temporary folder and opened in the
// user's browser.

class QAction;
class QLineEdit;
class QMenu;
class QWidget;

// Adds the menu item to menu before the item `before`, reading the path from pathBox.
QAction* addAssessmentReport(QWidget* window, QMenu* menu, QAction* before, QLineEdit* pathBox);
