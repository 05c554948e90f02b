// Built with -finstrument-functions: the compiler calls the library's hooks on entry and exit.

int instrumentedSquare(int value)
{
    return value * value;
}

void *instrumentedSquareAddress()
{
    return reinterpret_cast<void *>(&instrumentedSquare);
}
