#pragma once
// GIF files decoded here rather than by the toolkit, whose decoder writes out of bounds on some damaged
// files: the first image of the file, its transparent colour as alpha. Every length and code is checked;
// a file that breaks a rule gives an invalid image.
#include <wx/image.h>

#include <cstddef>
#include <cstdint>

wxImage DecodeGif(const std::uint8_t* data, std::size_t size);
