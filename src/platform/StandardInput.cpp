#include "platform/StandardInput.hpp"

#include <iostream>
#include <iterator>

namespace corvina {

std::string readStandardInput() {
    return {std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
}

}  // namespace corvina
