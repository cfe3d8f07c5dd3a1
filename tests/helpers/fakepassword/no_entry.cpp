// Test double of a password library that lacks the entry the saver asks for.
extern "C" int NotThePasswordEntry() {
    return 0;
}
