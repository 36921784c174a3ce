// Where the engineering environment registers its projects: one subkey per project below
// kProjectsKey in HKEY_LOCAL_MACHINE, named after the project, with the values "ProjectType"
// (a type name, ProjectTypes.h) and "Path" (the project directory, without closing "\").
#pragma once

#include <string>

#include "platform/Variant.h"

namespace glossel::projects {

inline constexpr char kProjectsKey[] = "Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects";
inline constexpr char kProjectTypeValue[] = "ProjectType";
inline constexpr char kPathValue[] = "Path";

// A project's file: directory, "\", name and kProjectFileExtension (kGroupFileExtension for
// a group).
inline constexpr char kProjectFileExtension[] = ".tvs";
inline constexpr char kGroupFileExtension[] = ".vbg";

// kProjectsKey, "\" and the project name.
std::string projectKey(const std::string& name);

// A value read from the registry as text: a text as it is, a whole number in decimal.
// Throws glossel::Error err::kTypeMismatch for any other value.
std::string registryText(const Variant& value);

}  // namespace glossel::projects
