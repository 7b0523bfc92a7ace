#pragma once

#include "request.h"

namespace haulmoor {

class ServiceHost;

namespace handlers {

constexpr int kChunkSize = 132768;

// Methods 1, 2 and 3: reset each URL's cell, queue its download, answer "0".
void download(ServiceHost& host, const Request& request);
// Method 4: each URL's current status value.
void progress(ServiceHost& host, const Request& request);
// Method 5: flag each URL's download for cancelling, answer "0".
void cancel(ServiceHost& host, const Request& request);

} // namespace handlers
} // namespace haulmoor
