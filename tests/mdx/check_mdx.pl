#!/usr/bin/perl
# Checks a table's production index with DBD::XBase's reader: every tag must list every
# record of the table (deleted ones too), in key order, equal keys in record-number
# order, and a search through the index must find the first record of a key.
#   check_mdx.pl TABLE.DBF [TAG=FIELD ...]
use strict;
use warnings;
use XBase;
use XBase::Index;

my ($dbf, @tags) = @ARGV;
(my $mdx = $dbf) =~ s/\.dbf$/.MDX/i;
-e $mdx or ($mdx =~ s/\.MDX$/.mdx/);
my $table = XBase->new(name => $dbf, ignorememo => 1) or die XBase->errstr;
my $failures = 0;
sub fail { print "FAIL: @_\n"; $failures++; }

# The header must announce the index, and each tagged field must carry its flag.
open(my $fh, '<:raw', $dbf) or die;
read($fh, my $head, 32);
ord(substr($head, 28, 1)) == 1 or fail("header byte 28 is not 1");

for my $spec (@tags) {
  my ($tag, $field) = split /=/, $spec;
  my $idx = XBase::Index->new($mdx, tag => $tag) or do { fail("tag $tag: " . XBase::Index->errstr); next };
  my $type = $table->field_type($field);
  my $len = $table->field_length($field);
  # Expected order from the table itself.
  my @rows;
  for my $recno (0 .. $table->last_record) {
    my ($deleted, $value) = $table->get_record($recno, $field);
    $value = '' unless defined $value;
    push @rows, [$recno + 1, $value];
  }
  my @expected = $type eq 'C'
    ? sort { (sprintf("%-${len}s", $a->[1]) cmp sprintf("%-${len}s", $b->[1])) || $a->[0] <=> $b->[0] } @rows
    : sort { ($a->[1] || 0) <=> ($b->[1] || 0) || $a->[0] <=> $b->[0] } @rows;
  $idx->prepare_select;
  my @got;
  while (my ($key, $val) = $idx->fetch) { push @got, $val; }
  my $want = join(',', map { $_->[0] } @expected);
  my $have = join(',', @got);
  $want eq $have or fail("tag $tag: order differs (" . scalar(@got) . " entries, " . scalar(@expected) . " records)");
  next unless $type eq 'C';
  # A search finds the first record of each key.
  my %first;
  for my $row (@expected) { $first{$row->[1]} //= $row->[0]; }
  my $checked = 0;
  for my $key (sort keys %first) {
    last if $checked++ > 200;
    $idx->prepare_select_eq(sprintf("%-${len}s", $key));
    my ($found, $recno) = $idx->fetch;
    defined $recno && $recno == $first{$key} or fail("tag $tag: search for '$key' gave " . ($recno // 'nothing') . ", not $first{$key}");
  }
}
print $failures ? "$failures failures\n" : "ok\n";
exit($failures ? 1 : 0);
