# The DXF drawing of the benchmark's point lines (name,X,Y,Z,code): a POINT and
# a labelled TEXT per point, X as the drawing's y, written in awk as the
# comparison for the same work.
# usage: mawk -f dxf.awk FILE
BEGIN { FS = ","; RS = "\r\n"; printf "0\nSECTION\n2\nENTITIES\n0\n" }
NF >= 5 {
    printf "POINT\n8\npoint\n10\n%f\n20\n%f\n30\n%f\n0\n", $3, $2, $4
    printf "TEXT\n8\nPT#\n10\n%f\n20\n%f\n30\n%f\n40\n0.2\n1\n%s\n0\n", $3, $2, $4, $1
}
END { printf "ENDSEC\n0\nEOF" }
