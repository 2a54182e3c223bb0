#pragma once
// The conversion run behind "Gen SQL": lists the database's tables, hands each one to the writer of the
// chosen dialect, and puts the results header in front of the script.

class SchemaReader;
class WindowOps;

void cmdGenSQL_Click(WindowOps& window, SchemaReader& reader);
