#pragma once

namespace testSupport {

/// Destroys the kiln singletons that exist, in the order Manager::shutdown
/// uses (notifiers, registry with its entities, log, key table, properties,
/// utilities, manager), without ending the process and without creating the
/// ones never used; the next instance() calls start fresh.
void resetFramework();

}  // namespace testSupport
