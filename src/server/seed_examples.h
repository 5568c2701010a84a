#pragma once

#include "server/catalog_store.h"

namespace zentrix::server {

// A few example scenarios and one system, published by the service's own example user; entries
// whose titles are already taken are left as they are.
void SeedExamples(TCatalogStore& store);

}  // namespace zentrix::server
