/* Does nothing: the yardstick of the launch benchmark. */
int main(void) { return 0; }
