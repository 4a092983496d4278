#pragma once

#include <QString>

// The small batch files the editor leaves in folders, and what they do. Their text is the
// one the system has always written; their effect is carried out by our own code, since
// nothing here runs batch files.
namespace ly {

// ProgramDir() + "auto.bat", deleted again when the main window closes.
QString AutoBatFile();

// Writes ProgramDir() + "desktop.ini" ("[.ShellClassInfo]", "InfoTip=Lyrabell 2005",
// "IconIndex=2", "IconFile=" + the program) and "auto.bat" ("attrib +s" and the program folder
// in quotes), and does what auto.bat asks for: the folder gets the program's folder icon and
// tip in the desktop's file managers (the ".directory" entry). Failures are not reported.
void CustomizeProgramFolder(const QString &programFile);

// Deletes the file once no program uses it any more (a card being previewed runs from it):
// writes "del.bat" beside the file and starts, without a window and at idle priority, a
// process that waits until no process runs the file or holds it open, deletes it and then
// del.bat. A newer file that has meanwhile replaced it under the same name is left alone.
// Returns at once.
void DeleteWhenUnlocked(const QString &file);

} // namespace ly
