/* A library that only carries a version block whose product version differs from its file version. */
int versioned_sample_marker(void) { return 1; }
