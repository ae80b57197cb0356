#pragma once

#include <functional>
#include <memory>

#include "platform/http/http_client.h"

namespace platform {

class Scheduler;

// Where a plain transfer turns for an address it does not serve itself: a redirect to https.
using HttpHandoff = std::function<std::unique_ptr<HttpRequest>(
    const QUrl& url, const HttpGetOptions& options, HttpClient::Done done)>;

// GET of an http address over the program's own sockets, on the scheduler: one connection per
// hop, closed after its answer (HTTP/1.1 with "Connection: close"). Redirects are followed
// within `maxRedirects`; one to https goes to `handoff` with the redirects left. An error status
// (400 and up), a refused or broken connection, an unknown host, a response the parser does not
// trust, `transferTimeoutMs` of silence (on the scheduler's clock) or a body past `maxBytes` fail
// the request. The answer is posted to the scheduler, so it never comes inside this call.
std::unique_ptr<HttpRequest> StartPlainHttpGet(Scheduler& scheduler, const QUrl& url,
                                               const HttpGetOptions& options, HttpClient::Done done,
                                               HttpHandoff handoff);

// A request that fails at once, reported like any other failure from the scheduler.
std::unique_ptr<HttpRequest> FailedHttpGet(Scheduler& scheduler, const QUrl& url,
                                           HttpClient::Done done);

}  // namespace platform
