#pragma once

#include <QString>

// The folder that holds the running executable, without a trailing separator.
QString programFolder();

// Tests point the program folder at a folder of their own; an empty path restores it.
void overrideProgramFolder(const QString& path);

// Joins the program folder and a file name the way this platform separates paths.
QString programFolderFile(const QString& fileName);
