// Writing the empty template tables model.db and modelbk.db that a missing table is copied from.
#pragma once

#include <string>

// Creates dir when missing and writes both empty template tables into it, each under a
// temporary name renamed over the target, so that no reader ever sees half a template.
// False with the reason in error when a step fails.
bool WriteTemplateTables(const std::string& dir, std::string& error);
