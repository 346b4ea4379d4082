#pragma once

#include <QString>

class QWidget;

namespace bramble {

class CKelpDoc;

// What the program's file choosers offer and where they open.
//
// The kinds of meter file the program reads are listed in ONE table in
// FileChoosers.cpp (a reader for a new meter adds its row there); the
// choosers of data files offer them first, then All Files and the plain
// extensions.

// "CG-3 Dumps (...)", "Aliod Files (...)", then "All Files (*)", "Data
// Files (*.dat)", "ASCII Files (*.asc)", "Text Files (*.txt)".
QString DataFileFilters();
// Polar-motion tables first, then the same general filters.
QString PolarTableFilters();
// Ocean-loading parameter (BLQ) files first, then the same general filters.
QString BlqFileFilters();
// Text exports: "Text Files (*.txt)" first, then the general filters.
QString ExportFileFilters();

// The folder of the last data file read (the newest recent file), or the
// home folder before any.
QString LastDataFolder();
// Where a chooser starts: `current` when it names a file, else the last
// data folder.
QString ChooserStart(const QString& current);

// A name for an export of the document: next to its data file (or in the
// last data folder), the data file's base name, `what`, the extension, for
// example ".../cg3-two-blocks-final.txt".
QString SuggestedExportPath(const CKelpDoc& doc, const QString& what, const QString& extension);

// Tells the operator in the main window's status bar where a file went.
void ConfirmWritten(QWidget* anyWidget, const QString& path);

}  // namespace bramble
