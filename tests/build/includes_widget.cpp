// Compiled by the build tests with the core's include paths: it must not compile there.
#include <QtWidgets/QWidget>

int main() {
    return 0;
}
