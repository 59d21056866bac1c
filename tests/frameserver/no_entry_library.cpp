// A shared library that is no plug-in: it exports something, but not the entry.
extern "C" int NotAnEntry() { return 0; }
