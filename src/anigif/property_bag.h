#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <map>
#include <variant>

#include "platform/forms/picture.h"

namespace anigif {

// What a user control stores with its container: named values, a value equal to its default not
// written. Names compare without regard to case, as the toolkit's bag does.
class PropertyBag {
  public:
    using Value = std::variant<QByteArray, std::int32_t, bool, forms::Picture>;

    template <typename T>
    T ReadProperty(const QString& name, T defaultValue) const {
        const auto it = values_.find(name.toLower());
        if (it == values_.end()) return defaultValue;
        if (const T* value = std::get_if<T>(&it->second)) return *value;
        return defaultValue;
    }

    template <typename T>
    void WriteProperty(const QString& name, T value, const T* defaultValue = nullptr) {
        if (defaultValue && equal(value, *defaultValue)) return;
        values_[name.toLower()] = Value(std::move(value));
    }

    bool contains(const QString& name) const { return values_.count(name.toLower()) != 0; }
    std::size_t size() const { return values_.size(); }

  private:
    template <typename T>
    static bool equal(const T& a, const T& b) {
        if constexpr (std::is_same_v<T, forms::Picture>) {
            return a.isEmpty() == b.isEmpty() && (a.isEmpty() || a.sameAs(b));
        } else {
            return a == b;
        }
    }
    std::map<QString, Value> values_;
};

}  // namespace anigif
