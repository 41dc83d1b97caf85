# Pennova writing template (our own text)
id: 107
kind: high
category: 考试作文|Exam essays CET IELTS TOEFL
name: 四六级议论文：对比两种观点|CET-4/6 essay, discussing two views
description: 适用于“有人认为……，也有人认为……，谈谈你的看法”的作文题。先分别介绍两种观点及理由，再给出自己的观点。
title: Different Views on [标题中的话题，如 Part-time Jobs for College Students] || 关于[标题中的话题，如 Part-time Jobs for College Students]的不同看法

[block]
People have different opinions about [话题，如 part-time jobs for college students]. || 人们对[话题，如 part-time jobs for college students]看法不一。
Some think it is a good idea, while others are against it. || 有些人认为这是个好主意，而另一些人则反对。

[block]
Those who support it believe that [支持理由，如 students can gain work experience and earn some money]. || 支持者认为[支持理由，如 students can gain work experience and earn some money]。
They also point out that [支持理由二，如 it helps students learn about society]. || 他们还指出，[支持理由二，如 it helps students learn about society]。
[alternative]
Supporters have their reasons. || 支持者有他们的理由。
In their eyes, [支持理由，如 a part-time job is a good chance to practise what we learn]. || 在他们看来，[支持理由，如 a part-time job is a good chance to practise what we learn]。

[block]
Those who are against it argue that [反对理由，如 students should spend their time on study]. || 反对者则认为[反对理由，如 students should spend their time on study]。
In their opinion, [反对理由二，如 a job may take up too much energy and affect their grades]. || 在他们看来，[反对理由二，如 a job may take up too much energy and affect their grades]。
[alternative]
Others hold the opposite view. || 另一些人持相反的观点。
They worry that [反对理由，如 students may get tired and fall behind in class]. || 他们担心[反对理由，如 students may get tired and fall behind in class]。

[block]
As for me, I agree with the first view. || 至于我，我赞同第一种观点。
[我的理由，如 A part-time job can be useful, as long as it does not affect our study]. || [我的理由，如 A part-time job can be useful, as long as it does not affect our study]。
[alternative]
Personally, I think both views make sense. || 我个人认为两种观点都有道理。
The key is to find a balance between [平衡的两方面，如 work and study]. || 关键是在[平衡的两方面，如 work and study]之间找到平衡。

[common]
Different people have different views. || 不同的人有不同的看法。
Both sides have their own reasons. || 双方都有各自的理由。
There is some truth in both views. || 两种观点都有一定道理。
I am in favour of the second opinion. || 我赞成第二种意见。
The question is not easy to answer. || 这个问题不容易回答。
We should consider the matter from different angles. || 我们应该从不同的角度来考虑这件事。
It is wise to learn from both sides. || 从双方身上学习是明智的。
In the end, the choice is up to each of us. || 最终，选择取决于我们每个人。
