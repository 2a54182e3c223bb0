#pragma once
// The assessment as plain text: a line per database, then each database's facts, then the totals.

#include "Assessment.h"

QString assessmentText(const Assessment& assessment);
