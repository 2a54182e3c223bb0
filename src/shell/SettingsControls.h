#pragma once
// The fourteen control states of the main window that the settings store loads and saves. The main window
// implements this; the settings tests use a plain record, so the store runs without widgets.

#include "CheckState.h"

#include <QString>

// The ten stored check boxes, in the order the settings file lists them.
enum class StoredCheck {
    chkStripIll,
    chkCreatePK,
    chkIndex,
    chkGO,
    chkMS,
    chkCrePer,
    chkSel,
    chkIns,
    chkDel,
    chkUp
};

class SettingsControls {
public:
    virtual ~SettingsControls() = default;

    virtual bool optStrip() const = 0;
    virtual void setOptStrip(bool selected) = 0; // selecting one option button clears the other
    virtual bool optChange() const = 0;
    virtual void setOptChange(bool selected) = 0;

    virtual CheckState check(StoredCheck box) const = 0;
    // Setting a state that differs from the current one runs the box's click handling (for chkCrePer the
    // permission rule); setting the state it already has does nothing.
    virtual void setCheck(StoredCheck box, CheckState state) = 0;

    virtual QString userNames() const = 0;
    virtual void setUserNames(const QString& text) = 0;
    virtual QString path() const = 0;
    virtual void setPath(const QString& text) = 0;
};
