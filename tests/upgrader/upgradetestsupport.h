#pragma once
// Shared pieces of Swapover's tests: Setup.xml in the exact layout the
// configuration store writes, file helpers, and a staged new version.

#include <QByteArray>
#include <QMap>
#include <QString>

namespace upgradetest {

// Setup.xml as the installation ships it and as the store writes it back:
// one element a line, no indentation, UTF-8.
QByteArray setupXml(const QString& needUpdate);

bool writeFile(const QString& path, const QByteArray& data);
QByteArray readFile(const QString& path);
bool copyExecutable(const QString& from, const QString& to);

// Every file under dir (links as their target text), by path relative to dir.
QMap<QString, QByteArray> filesUnder(const QString& dir);

// The service's mark on a staging folder it finished.
extern const QString kStagingMarker;
void writeStagingMarker(const QString& staging, const QByteArray& text = "complete\n");

// A staged version under staging, marked complete: blanks and Chinese in
// names, nested folders, a file that replaces one of the installation.
void writeStagedTree(const QString& staging);

// The installation's own files that the staged version does not touch or
// replaces: "keep me.txt" and "plugins/libLacquer.so".
void writeInstalledFiles(const QString& install);

} // namespace upgradetest
