#pragma once

#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace bench {

struct InstallRequest
{
    std::string url;
    std::string unzipDir;
};

// A private installation of the built service in rootDir, kept alive by a
// stand-in main program, driven over its loopback protocol.
class ServiceInstance
{
public:
    ServiceInstance(std::string haulmoorPath, std::string unpackerPath, std::string rootDir);
    ~ServiceInstance();
    ServiceInstance(const ServiceInstance&) = delete;
    ServiceInstance& operator=(const ServiceInstance&) = delete;

    // TransferMode of its Setup.xml: 0 the range sequence, 1 streamed.
    void setTransferMode(int mode) { m_transferMode = mode; }
    // TransferConnections of its Setup.xml; 0 leaves the key out.
    void setTransferConnections(int connections) { m_transferConnections = connections; }
    bool start(std::string& error);
    void stop();

    pid_t pid() const { return m_servicePid; }
    int port() const { return m_port; }
    // Where packages land before they are unpacked.
    std::string downloadFolder() const { return m_rootDir + "/downloads/SubTools"; }

    // Method 3; true once the service accepted every entry.
    bool requestInstall(const std::vector<InstallRequest>& entries, std::string& error);
    // Method 4: url -> value; nothing when the service did not answer.
    std::optional<std::map<std::string, int>> progress(const std::vector<std::string>& urls);

    // From /proc; 0 when the process is gone.
    long peakRssKiB() const { return statusField("VmHWM:"); }
    long rssKiB() const { return statusField("VmRSS:"); }

private:
    bool prepareInstallation(std::string& error);
    long statusField(const char* field) const;

    std::string m_haulmoorPath;
    std::string m_unpackerPath;
    std::string m_rootDir;
    int m_port = 0;
    pid_t m_standInPid = -1;
    pid_t m_servicePid = -1;
    int m_transferMode = 0;
    int m_transferConnections = 0;
};

} // namespace bench
