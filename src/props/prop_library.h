#pragma once

#include <filesystem>
#include <memory>

#include "props/prop_dll.h"

namespace props {

// Why a plug-in library gave no object.
enum class PropLoadFailure { None, LibraryUnloadable, NoEntryPoint, NoObject, EntryPointFailed };

struct PropLoadResult {
    std::unique_ptr<PropDll> object;  // null on failure
    PropLoadFailure failure = PropLoadFailure::None;
};

// Loads the library at `library` and asks its entry point for a plug-in object. The library
// stays loaded for the rest of the program, since the object's code lives in it. Never throws.
PropLoadResult CreatePropObject(const std::filesystem::path& library);

}  // namespace props
