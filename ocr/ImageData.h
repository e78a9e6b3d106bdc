#pragma once

#include <string_view>

#include "net/FormEncoding.h"

// The form data of a recognition request: "image" = Base64 of the whole
// picture, then every option whose key is not already there (an option named
// "image" never replaces the picture).
FormMap BuildImageData(std::string_view picture, const FormMap& options);
