#pragma once
// In-memory stand-ins for the platform interfaces, for host tests.
#include "tests/fakes/fake_desktop.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_system.h"
