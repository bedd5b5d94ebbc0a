// A program that carries nothing but the version section; the version tests read it back.
int main()
{
  return 0;
}
