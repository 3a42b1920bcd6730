#pragma once

#include "loader/loaderhost.h"

#include <memory>

// The loader host of the platform the program runs on; null where there is none (everywhere but
// Windows), so start-up keeps the platform's look.
std::unique_ptr<LoaderHost> createPlatformLoaderHost();
