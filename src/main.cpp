#include "app/CorvinaApplication.hpp"

int main() { return corvina::CorvinaApplication::create()->run(); }
