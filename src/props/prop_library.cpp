#include "props/prop_library.h"

#include <QLibrary>

namespace props {

PropLoadResult CreatePropObject(const std::filesystem::path& library) {
    // Never unloaded (QLibrary's destructor leaves it mapped): objects made by it may outlive
    // this call, and their code and virtual tables live in the library.
    QLibrary lib(QString::fromStdString(library.string()));
    if (!lib.load()) return {nullptr, PropLoadFailure::LibraryUnloadable};
    auto create = reinterpret_cast<CreatePropDllFn>(lib.resolve(PropDllEntryPoint));
    if (!create) return {nullptr, PropLoadFailure::NoEntryPoint};
    try {
        std::unique_ptr<PropDll> object(create());
        if (!object) return {nullptr, PropLoadFailure::NoObject};
        return {std::move(object), PropLoadFailure::None};
    } catch (...) {
        return {nullptr, PropLoadFailure::EntryPointFailed};
    }
}

}  // namespace props
