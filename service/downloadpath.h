#pragma once

#include <string>

namespace haulmoor {

// The "DownloadPath" of Setup.xml as the client writes it: the line after the
// first line holding "<DownloadPath>", with every "<Value>" and "</Value>"
// taken out and nothing else touched. Empty when there is no such line; the
// fallback folder when the file cannot be read.
std::string readDownloadPath(const std::string& setupPath, const std::string& fallback);

// How packages are fetched ("TransferMode", read the same way): the range
// sequence when the key is absent, unreadable or not "1".
enum class TransferMode
{
    Ranges = 0,
    Stream = 1,
};
TransferMode readTransferMode(const std::string& setupPath);

// "TransferConnections", read the same way: how many connections a streamed
// transfer of a large package may use, 1 to 8. Absent gives the default;
// anything else too, with a line in the log.
int readTransferConnections(const std::string& setupPath, int fallback);

// "CaFile", read the same way: a PEM file of certificate authorities a
// private cloud's https certificate may come from, trusted besides the
// system's. A relative path is taken from Setup.xml's folder; empty when
// the key is absent or blank.
std::string readCaFile(const std::string& setupPath);

} // namespace haulmoor
