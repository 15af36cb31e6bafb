// Placeholder so the library has a translation unit until real sources land.
