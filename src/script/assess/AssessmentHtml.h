#pragma once
// The assessment as one self-contained HTML page: inline style, no script, nothing fetched. A summary table
// of all databases with bars for their size and rows, then a section per database; it prints as it reads.

#include "Assessment.h"

QString assessmentHtml(const Assessment& assessment);
