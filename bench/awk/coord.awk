# The coordinate conversion of the benchmark's point lines (name,X,Y,Z,code in
# thousandths), written in awk as the comparison for the same work.
# usage: mawk -v layout=N -f coord.awk FILE FILE   (the file twice: the first
# pass counts the points for the layouts whose header needs them)
BEGIN { FS = ","; RS = "\r\n"; ORS = "\r\n"; header = (layout == 4 || layout == 7 || layout == 8) }
header && NR == FNR { if (NF >= 5) { n++; last = $1 } next }
header && FNR == 1 { if (layout == 4) print n; else printf "%d\r\n%s\r\n", n, last }
NF >= 5 {
    seq++
    x = $2 * 0.001; y = $3 * 0.001; z = $4 * 0.001
    if (layout == 0) printf "%s,%.3f,%.3f,%.3f\r\n", $1, x, y, z
    else if (layout == 1 || layout == 10) printf "%s,%s,%.3f,%.3f,%.3f\r\n", $1, $5, x, y, z
    else if (layout == 2) printf "%d,%s,%s,%.3f,%.3f,%.3f\r\n", seq, $1, $5, y, x, z
    else if (layout == 3 || layout == 7) printf "\r\n%.3f\r\n%.3f\r\n%.3f\r\n%s\r\n", y, x, z, $1
    else if (layout == 8) printf "\r\n%.3f\r\n%.3f\r\n%.3f\r\n%s\r\n", x, y, z, $1
    else if (layout == 4 || layout == 5) printf "%s,%s,%.3f,%.3f,%.3f\r\n", $1, $5, y, x, z
    else if (layout == 6) printf "904 1 0 $%d\r\n%s %.3f %.3f %.3f 1 1 0 0\r\n", seq, $1, y, x, z
    else if (layout == 9) printf "%s %s %.3f %.3f %.3f\r\n", $1, $5, x, y, z
}
