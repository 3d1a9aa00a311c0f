# The universal conversion of the benchmark's records (P,K,X,Y,Z,number) with
# attribute and numbering on, numbers from 1, a count line, X and Y shifted and
# Z scaled, X and Y swapped in the target, written in awk as the comparison for
# the same work.
# usage: mawk -f universal.awk FILE FILE   (the first pass counts the records)
BEGIN { FS = ","; RS = "\r\n"; ORS = "\r\n" }
NR == FNR { n++; next }
FNR == 1 { print n }
{
    printf "%s,%s,%.3f,%.3f,%.3f,%d\r\n", $1, $2, ($4 + -500000.001) * 1, ($3 + -3500000.123) * 1,
           ($5 + 0) * 1.0001, FNR
}
