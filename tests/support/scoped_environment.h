#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>
#include <utility>
#include <vector>

namespace support {

// Sets environment variables for the lifetime of a test and puts the old values back.
class ScopedEnvironment {
  public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void set(const char* name, const QByteArray& value) {
        saved_.emplace_back(
            name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
        qputenv(name, value);
    }
    ~ScopedEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second) {
                qputenv(it->first, *it->second);
            } else {
                qunsetenv(it->first);
            }
        }
    }

  private:
    std::vector<std::pair<const char*, std::optional<QByteArray>>> saved_;
};

}  // namespace support
