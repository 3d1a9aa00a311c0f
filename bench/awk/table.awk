# The printable coordinate table of the benchmark's point lines (name,X,Y,Z,code)
# in the default column order with a code column, written in awk as the
# comparison for the same work.
# usage: mawk -f table.awk FILE
BEGIN {
    FS = ","; RS = "\r\n"; g = "           "
    printf "PT#            X              Y             Z           PCode\r\n\r\n"
}
/,/ { printf "%s%s%s%s%s%s%s%s%s\r\n", $1, g, $3, g, $4, g, $5, g, $2 }
