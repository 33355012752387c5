#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Registry.h"
#include "tests/framework/ProbeEntity.h"
#include "tests/support/FrameworkReset.h"
#include "tests/support/ScopedTempDir.h"

namespace frameworkTest {

/// Each test starts with no framework singleton, in a temporary working
/// directory (log.txt lands there), and ends with every singleton destroyed.
class FrameworkFixture : public ::testing::Test {
protected:
    // The notifiers go here, before the owned probes they may point to.
    void TearDown() override { testSupport::resetFramework(); }

    /// A probe owned by the test and listening to nothing yet.
    ProbeEntity* ownedProbe(const std::string& id) {
        probes.push_back(std::make_unique<ProbeEntity>(id, log));
        return probes.back().get();
    }

    /// A probe owned by the test and listening to notifier N only.
    template <class N>
    ProbeEntity* probeListeningTo(const std::string& id) {
        ProbeEntity* probe = ownedProbe(id);
        N::instance()->addListener(probe);
        return probe;
    }

    /// A probe owned by the registry, hence connected to all seven notifiers.
    ProbeEntity* registeredProbe(const std::string& id) {
        auto* probe = new ProbeEntity(id, log);
        kiln::Registry::instance()->add(probe);
        return probe;
    }

    testSupport::ScopedTempDir dir;
    CallLog log;
    std::vector<std::unique_ptr<ProbeEntity>> probes;
};

}  // namespace frameworkTest
