/* A program that only carries a version resource for the installation tests. */
int main(void) { return 0; }
