#pragma once

#include <QString>

// The folder that holds the running executable, without a trailing separator.
QString programFolder();

// Joins the program folder and a file name the way this platform separates paths.
QString programFolderFile(const QString& fileName);
