#!/usr/bin/perl
# read_xbase.pl TABLE.DBF: the table as Perl's XBase module reads it, as JSON:
# {"campos":[[name, type, length, decimals]...], "registros":[[deleted, value...]...]}.
# Texts are decoded from cp1252; every defined value is printed as a string, undefined
# ones as null, so that the caller judges them by the field's type.
use strict;
use warnings;
use Encode qw(decode);
use JSON::PP;
use XBase;

my $path = shift or die "uso: read_xbase.pl TABLA.DBF\n";
my $table = XBase->new($path) or die XBase->errstr;
my @names = $table->field_names;
my @types = $table->field_types;
my @lengths = $table->field_lengths;
my @decimals = $table->field_decimals;
my @fields = map { [$names[$_], $types[$_], 0 + $lengths[$_], 0 + $decimals[$_]] } 0 .. $#names;
my @records;
for my $i (0 .. $table->last_record) {
  my ($deleted, @values) = $table->get_record($i);
  defined $deleted or die XBase->errstr;
  push @records, [$deleted ? JSON::PP::true : JSON::PP::false,
                  map { defined $_ ? decode('cp1252', "$_") : undef } @values];
}
$table->close;
print JSON::PP->new->utf8->canonical->encode({campos => \@fields, registros => \@records}), "\n";
