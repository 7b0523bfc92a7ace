#pragma once
// What the client and its service Haulmoor must agree on over the loopback
// port: method numbers, the status values of a download, the failure reasons
// of a progress reply, how the secret travels and the line that announces
// the port. Change a value here and both sides follow.

namespace localprotocol {

// The "method" member of a request body.
enum RequestMethod : int
{
    DownloadMaterial = 1,
    DownloadManageTool = 2,
    DownloadSubTool = 3,
    DownloadProgress = 4,
    CancelDownloadSubTool = 5,
    CheckMaterialVersion = 6,
    CheckManagerVersion = 7,
};

constexpr bool isKnownMethod(int method)
{
    return method >= DownloadMaterial && method <= CheckManagerVersion;
}

// The value of one URL in a download or progress reply, besides the
// percentages 0..99 (100 also means "received, now unpacking").
enum ProgressStatus : int
{
    StatusFailed = -1,
    StatusReceived = 100,
    StatusInstalled = 200,
    StatusUnpackFailed = 400,
    StatusNotFound = 404,
};

// The "failure" member of a progress entry: why a download ended as it did.
// The package did not match its published checksum, or that was unreadable.
inline constexpr char kFailureChecksum[] = "checksum";
// The download or unzip folder could be changed by another user.
inline constexpr char kFailureFolder[] = "folder";
// The main program's package could not be staged for the self-upgrade.
inline constexpr char kFailureStaging[] = "staging";
// The installation trusts a publisher's key and the package's metadata did
// not carry a valid signature by it, or was signed for another package.
inline constexpr char kFailureSignature[] = "signature";
// The cloud's secure connection failed: its certificate was not trusted or
// not for that host, or an https address was sent elsewhere over plain HTTP.
inline constexpr char kFailureCertificate[] = "certificate";

// The per-start secret: handed to the service in its environment, sent back
// with every request in this header.
inline constexpr char kTokenHeader[] = "X-Haulmoor-Token";
inline constexpr char kTokenEnvironment[] = "HAULMOOR_TOKEN";

// The service's first line on standard output once it holds its port,
// followed by the port number.
inline constexpr char kListeningPrefix[] = "listening on 127.0.0.1:";

} // namespace localprotocol
