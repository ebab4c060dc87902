/* Does nothing but end with the recorder's exit status, so that its time
 * under Wine is what starting any Windows program there costs. */
int main(void)
{
    return 3;
}
