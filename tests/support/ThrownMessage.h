#pragma once

#include <string>

namespace testSupport {

/// The message of the exception of type E that call throws, or
/// "(nothing thrown)". Exceptions of other types escape to the test.
template <class E, class Call>
std::string thrownMessage(Call&& call) {
    try {
        call();
    } catch (const E& error) {
        return error.what();
    }
    return "(nothing thrown)";
}

}  // namespace testSupport
