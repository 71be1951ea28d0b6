// Reference for the start of sorvel-calcul: a C++ program that does nothing
// (temps-sorvel-calcul.sh).

int main() { return 0; }
