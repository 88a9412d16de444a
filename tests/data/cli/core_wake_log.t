# The core's wake log through wakeburst, on every platform.

== a wake log whose directory is missing loses only its entry, and the wake goes on
+ two.mp 198.51.100.1 02-00-5e-00-00-01\r\n198.51.100.2 02-00-5e-00-00-02\r\n
: wake -q two.mp --to 127.0.0.1 --dir missing
% 2 02005e000001 02005e000002
