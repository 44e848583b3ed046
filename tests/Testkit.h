#pragma once

// What nearly every test uses: GoogleTest, a scratch folder and its files,
// the sample designs.

#include "SampleCars.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <tuple>

namespace rivetbay {

// The kit's everyday names, without its namespace.
using testkit::readBytes;
using testkit::TempDir;
using testkit::writeBytes;

} // namespace rivetbay
