// The bitmap's and the picture's constructors, destructor and moves, written once for both
// backends. They need the backend's Native types complete, so each backend's DeviceContext.cpp
// includes this once, after those types; it is not a header to include anywhere else.
#pragma once

#include "platform/DeviceContext.h"

Bitmap::Bitmap() = default;
Bitmap::Bitmap(std::unique_ptr<Native> native) : native_(std::move(native)) { }
Bitmap::~Bitmap() = default;
Bitmap::Bitmap(Bitmap &&) noexcept = default;
Bitmap &Bitmap::operator=(Bitmap &&) noexcept = default;

Picture::Picture() = default;
Picture::Picture(std::unique_ptr<Native> native) : native_(std::move(native)) { }
Picture::~Picture() = default;
Picture::Picture(Picture &&) noexcept = default;
Picture &Picture::operator=(Picture &&) noexcept = default;
