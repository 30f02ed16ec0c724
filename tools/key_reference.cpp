// Prints the README's keyboard reference from the key table (paste it between the README's markers).
#include <cstdio>

#include "edit/key_reference.h"

int main() {
    std::fputs(shinofu::edit::keyReferenceMarkdown().c_str(), stdout);
    return 0;
}
